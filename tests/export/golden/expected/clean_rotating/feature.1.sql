INSERT INTO `ps_feature` (`id_feature`,`position`) VALUES (4,1),(1,2),(3,3);
INSERT INTO `ps_feature` (`id_feature`,`position`) VALUES (2,4);
