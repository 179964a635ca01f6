INSERT INTO `ps_feature` (`id_feature`,`position`) VALUES (4,1);
INSERT INTO `ps_feature` (`id_feature`,`position`) VALUES (1,2);
INSERT INTO `ps_feature` (`id_feature`,`position`) VALUES (3,3);
INSERT INTO `ps_feature` (`id_feature`,`position`) VALUES (2,4);
