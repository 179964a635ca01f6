INSERT INTO `ps_feature_shop` (`id_feature`,`id_shop`) VALUES (4,1);
INSERT INTO `ps_feature_shop` (`id_feature`,`id_shop`) VALUES (1,1);
INSERT INTO `ps_feature_shop` (`id_feature`,`id_shop`) VALUES (3,1);
INSERT INTO `ps_feature_shop` (`id_feature`,`id_shop`) VALUES (2,1);
