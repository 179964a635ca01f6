INSERT INTO `ps_feature_lang` (`id_feature`,`id_lang`,`name`) VALUES (4,1,'Height [mm]'),(1,1,'Ø [mm]'),(3,1,'Front Axle');
INSERT INTO `ps_feature_lang` (`id_feature`,`id_lang`,`name`) VALUES (2,1,'Thread Size');
